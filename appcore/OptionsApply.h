#pragma once
// The album side of the options sheet: each page hands back its edited settings block, the
// album takes them over, and rebuilds, repaints and marks the record out of date as needed.
// The sheet itself only collects the three blocks and calls ApplyOptions.

#include "album/Settings.h"

class CPixDir;

// Copies the General page into the block. Returns 2 when the thumbs must be rebuilt (thumb
// size or frames switched), 1 when only the look changed, 0 when nothing shows differently.
int StoreGeneralSettings(const CGeneralSettings& page, CGeneralSettings& block);

// Copies the Advanced page into the album's block, with its side effects: the rendering
// message, opening or closing the run log, the help file. An AutoCropStrategy outside 0..2
// becomes 0 in the page too. Returns 1 when captions were switched (repaint), else 0.
int StoreAdvancedSettings(CAdvancedSettings& page, CPixDir& album);

// Takes over all three pages: rebuilds the thumbs, repaints the sheet, and marks the record
// out of date.
void ApplyOptions(CPixDir& album, const CGeneralSettings& general, const CWebViewSettings& webView,
                  CAdvancedSettings& advanced);
