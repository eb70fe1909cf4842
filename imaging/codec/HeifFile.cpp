#include "imaging/codec/HeifFile.h"

#include <libheif/heif.h>

#include "imaging/codec/EmbeddedExif.h"

namespace codec {

HeifFile::HeifFile(ByteSpan file) {
  context_ = heif_context_alloc();
  if (context_ == nullptr) {
    return;
  }
  // The library refuses larger pictures itself, before it takes memory for them.
  heif_context_set_maximum_image_size_limit(context_, static_cast<int>(kMaxSide));
  if (heif_context_read_from_memory_without_copy(context_, file.data, file.size, nullptr).code !=
      heif_error_Ok) {
    return;
  }
  if (heif_context_get_primary_image_handle(context_, &handle_).code != heif_error_Ok) {
    handle_ = nullptr;
  }
}

HeifFile::~HeifFile() {
  if (handle_ != nullptr) {
    heif_image_handle_release(handle_);
  }
  if (context_ != nullptr) {
    heif_context_free(context_);
  }
}

std::vector<uint8_t> HeifFile::ExifPayload() const {
  heif_item_id id = 0;
  if (handle_ == nullptr || heif_image_handle_get_list_of_metadata_block_IDs(handle_, "Exif", &id, 1) < 1) {
    return {};
  }
  std::vector<uint8_t> item(heif_image_handle_get_metadata_size(handle_, id));
  if (item.size() < 4 || heif_image_handle_get_metadata(handle_, id, item.data()).code != heif_error_Ok) {
    return {};
  }
  // The item starts with the offset of the TIFF header after its own first four bytes.
  const size_t offset = static_cast<size_t>(item[0]) << 24 | static_cast<size_t>(item[1]) << 16 |
                        static_cast<size_t>(item[2]) << 8 | item[3];
  if (offset > item.size() - 4) {
    return {};
  }
  return ExifPayloadOf(std::vector<uint8_t>(item.begin() + 4 + static_cast<ptrdiff_t>(offset), item.end()));
}

ColourTag HeifFile::Colours() const {
  ColourTag tag;
  if (handle_ == nullptr) {
    return tag;
  }
  const size_t iccSize = heif_image_handle_get_raw_color_profile_size(handle_);
  if (iccSize > 0) {
    tag.icc.resize(iccSize);
    if (heif_image_handle_get_raw_color_profile(handle_, tag.icc.data()).code != heif_error_Ok) {
      tag.icc.clear();
      tag.unreadable = true;
    }
    return tag;
  }
  heif_color_profile_nclx* nclx = nullptr;
  if (heif_image_handle_get_nclx_color_profile(handle_, &nclx).code == heif_error_Ok &&
      nclx != nullptr) {
    tag.cicpPrimaries = nclx->color_primaries;
    tag.cicpTransfer = nclx->transfer_characteristics;
  }
  heif_nclx_color_profile_free(nclx);
  return tag;
}

}  // namespace codec
