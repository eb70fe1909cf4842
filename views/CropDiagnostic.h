#pragma once
// The automatic crop's diagnostic view: what the analysis found, drawn over a lightened grey
// copy of the analysed picture. Block differences are lines on the block edges (thicker and
// redder by level), face-like candidates orange ellipses, each 32-pixel region its square and
// score (cyan and bold above the threshold), and the proposal a teal rectangle.

#include <QImage>

class CImageWrap;
struct CCropReport;

QImage DrawCropDiagnostic(const CImageWrap& picture, const CCropReport& report);
