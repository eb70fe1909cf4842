#pragma once
// Paints the thumb sheet as the album last laid it out: each sketch in its frame (or
// stretched), its caption box, the red outline of the selection and the grey cross of an
// omitted picture; and the welcome screen of an empty album. Used for the screen and print.

#include <QRect>
#include <QString>

class CPixDir;
class CSketchCache;
class QPainter;

// Paints the sketches whose cells (with their caption boxes and outlines) meet the exposed
// rectangle, in sheet coordinates. Returns the number of sketches painted.
int PaintSheet(QPainter& painter, CPixDir& album, const QRect& exposed, CSketchCache& cache);

// The welcome box near the top of the client rectangle: cyan text in a black box with a
// yellow border.
void PaintWelcome(QPainter& painter, const QRect& client, const QString& text);
