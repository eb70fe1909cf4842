#pragma once
// A caption as a caption box shows it: broken into lines at word boundaries (inside a word
// only when the word alone is too wide), and cut with an ellipsis when it needs more lines
// than the box has room for.

#include <QStringList>

class QFont;

QStringList WrapCaption(const QString& text, const QFont& font, int width, int height);
