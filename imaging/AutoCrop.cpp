// The automatic crop as an operation of the picture: analyse, frame, and fit on request.

#include <new>

#include "imaging/CropAnalyzer.h"
#include "imaging/ImageOperations.h"
#include "imaging/ImageWrap.h"

// The diagnostic flag does not change the analysis: the picture window draws its view from
// the report.
int FindImageAutoCrop(const CImageWrap& image, Rect& rect, int strategy, int fit,
                      [[maybe_unused]] int diagnostic, CCropReport* report) {
  if (report != nullptr) {
    *report = CCropReport{};
  }
  try {
    CCropAnalyzer analyzer;
    if (analyzer.Analyze(image.bitmap) == 0) {
      return 0;
    }
    Rect proposal;
    const int result = analyzer.ApplyStrategy(strategy, proposal);
    if (result > 0 && fit != 0) {
      // A proposal covering more than half the picture keeps its area; a smaller one grows.
      const double share = static_cast<double>(proposal.Width()) * proposal.Height() /
                           (static_cast<double>(image.Width()) * image.Height());
      image.FitCropAspect(proposal, share > 0.5 ? AspectFit::KeepArea : AspectFit::Grow);
    }
    if (report != nullptr) {
      analyzer.MoveIntoReport(*report);
      report->result = result;
      if (result > 0) {
        report->rect = proposal;
      }
    }
    if (result > 0) {
      rect = proposal;
    }
    return result;
  } catch (const std::bad_alloc&) {
    if (report != nullptr) {
      *report = CCropReport{};
    }
    return 0;
  }
}
