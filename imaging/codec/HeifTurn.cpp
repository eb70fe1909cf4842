// A HEIF or AVIF picture is turned by its rotation property (irot), which libheif applies: the
// property's angle is changed in place, or, when the primary picture has none, a new one is
// added after its other properties. Adding moves what follows it in the file, so the item
// locations (iloc) that point past it are moved too.

#include <algorithm>

#include "imaging/codec/CarriedTurn.h"
#include "imaging/codec/IsoBoxes.h"

namespace codec {
namespace {

constexpr uint32_t kMeta = BoxType("meta");
constexpr uint32_t kPitm = BoxType("pitm");
constexpr uint32_t kIloc = BoxType("iloc");
constexpr uint32_t kIprp = BoxType("iprp");
constexpr uint32_t kIpco = BoxType("ipco");
constexpr uint32_t kIpma = BoxType("ipma");
constexpr uint32_t kIrot = BoxType("irot");
constexpr uint32_t kImir = BoxType("imir");

struct Insertion {
  size_t at = 0;
  std::vector<uint8_t> bytes;
};

// How far the bytes at a position of the original file move once the insertions are made.
size_t ShiftAt(const std::vector<Insertion>& insertions, uint64_t position) {
  size_t shift = 0;
  for (const Insertion& insertion : insertions) {
    shift += insertion.at <= position ? insertion.bytes.size() : 0;
  }
  return shift;
}

// The properties associated with the primary picture, in the order they apply.
struct Associations {
  size_t countAt = 0;  // the entry's count byte
  size_t entryEnd = 0;
  bool wide = false;  // two bytes an association
  std::vector<uint32_t> indices;
};

std::optional<Associations> PrimaryAssociations(ByteSpan file, const IsoBox& ipma,
                                                uint32_t primary) {
  if (ipma.end - ipma.body < 8) {
    return std::nullopt;
  }
  const int version = file.data[ipma.body];
  Associations found;
  found.wide = (file.data[ipma.body + 3] & 1) != 0;
  const size_t idBytes = version < 1 ? 2 : 4;
  const size_t entries = ReadBigEndian(file, ipma.body + 4, 4);
  size_t at = ipma.body + 8;
  for (size_t entry = 0; entry < entries; ++entry) {
    if (ipma.end - at < idBytes + 1) {
      return std::nullopt;
    }
    const uint64_t item = ReadBigEndian(file, at, idBytes);
    const size_t countAt = at + idBytes;
    const size_t count = file.data[countAt];
    const size_t each = found.wide ? 2 : 1;
    at = countAt + 1;
    if ((ipma.end - at) / each < count) {
      return std::nullopt;
    }
    if (item == primary) {
      found.countAt = countAt;
      for (size_t k = 0; k < count; ++k) {
        const uint64_t value = ReadBigEndian(file, at + k * each, each);
        found.indices.push_back(static_cast<uint32_t>(value & (found.wide ? 0x7FFF : 0x7F)));
      }
      found.entryEnd = at + count * each;
      return found;
    }
    at += count * each;
  }
  return std::nullopt;
}

struct Patch {
  size_t at = 0;
  size_t bytes = 0;
  uint64_t value = 0;
};

bool Fits(uint64_t value, size_t bytes) { return bytes >= 8 || value >> (8 * bytes) == 0; }

// The item locations that point into the file past an insertion, moved with it. False when the
// box cannot be followed or a moved location would not fit its field.
bool MoveLocations(ByteSpan file, const IsoBox& iloc, const std::vector<Insertion>& insertions,
                   std::vector<Patch>& patches) {
  size_t at = iloc.body;
  const auto need = [&](size_t bytes) { return iloc.end - at >= bytes; };
  if (!need(8)) {
    return false;
  }
  const int version = file.data[at];
  if (version > 2) {
    return false;
  }
  const size_t offsetBytes = file.data[at + 4] >> 4;
  const size_t lengthBytes = file.data[at + 4] & 15;
  const size_t baseBytes = file.data[at + 5] >> 4;
  const size_t indexBytes = version >= 1 ? file.data[at + 5] & 15 : 0;
  at += 6;
  const size_t idBytes = version < 2 ? 2 : 4;
  if (!need(idBytes)) {
    return false;
  }
  const uint64_t items = ReadBigEndian(file, at, idBytes);
  at += idBytes;
  for (uint64_t item = 0; item < items; ++item) {
    if (!need(idBytes + (version >= 1 ? 2 : 0) + 2 + baseBytes + 2)) {
      return false;
    }
    at += idBytes;
    int method = 0;
    if (version >= 1) {
      method = static_cast<int>(ReadBigEndian(file, at, 2) & 15);
      at += 2;
    }
    const bool inThisFile = method == 0 && ReadBigEndian(file, at, 2) == 0;
    at += 2;
    const size_t baseAt = at;
    const uint64_t base = ReadBigEndian(file, at, baseBytes);
    at += baseBytes;
    const uint64_t extents = ReadBigEndian(file, at, 2);
    at += 2;
    const size_t baseShift = ShiftAt(insertions, base);
    if (inThisFile && baseShift != 0) {
      if (!Fits(base + baseShift, baseBytes)) {
        return false;
      }
      patches.push_back({baseAt, baseBytes, base + baseShift});
    }
    for (uint64_t extent = 0; extent < extents; ++extent) {
      if (!need(indexBytes + offsetBytes + lengthBytes)) {
        return false;
      }
      at += indexBytes;
      const uint64_t offset = ReadBigEndian(file, at, offsetBytes);
      const size_t shift = ShiftAt(insertions, base + offset) - baseShift;
      if (inThisFile && shift != 0) {
        if (!Fits(offset + shift, offsetBytes)) {
          return false;
        }
        patches.push_back({at, offsetBytes, offset + shift});
      }
      at += offsetBytes + lengthBytes;
    }
  }
  return true;
}

// Grows the size field of box by the bytes inserted inside it.
bool GrowBox(ByteSpan file, const IsoBox& box, const std::vector<Insertion>& insertions,
             std::vector<Patch>& patches) {
  size_t grown = 0;
  for (const Insertion& insertion : insertions) {
    grown += insertion.at > box.start && insertion.at <= box.end ? insertion.bytes.size() : 0;
  }
  const size_t field = box.sizeBytes == 8 ? box.start + 8 : box.start;
  const uint64_t size = ReadBigEndian(file, field, box.sizeBytes);
  if (grown == 0 || size == 0) {  // 0: the box runs to the end of the file
    return true;
  }
  if (!Fits(size + grown, box.sizeBytes)) {
    return false;
  }
  patches.push_back({field, box.sizeBytes, size + grown});
  return true;
}

std::vector<uint8_t> Assemble(ByteSpan file, const std::vector<Patch>& patches,
                              std::vector<Insertion> insertions) {
  std::vector<uint8_t> out(file.data, file.data + file.size);
  for (const Patch& patch : patches) {
    WriteBigEndian(out, patch.at, patch.bytes, patch.value);
  }
  // From the last to the first, so that the earlier positions stay where they were.
  std::sort(insertions.begin(), insertions.end(),
            [](const Insertion& a, const Insertion& b) { return a.at > b.at; });
  for (const Insertion& insertion : insertions) {
    out.insert(out.begin() + static_cast<ptrdiff_t>(insertion.at), insertion.bytes.begin(),
               insertion.bytes.end());
  }
  return out;
}

}  // namespace

std::optional<std::vector<uint8_t>> TurnHeif(ByteSpan file, int direction) {
  const auto top = ChildBoxes(file, 0, file.size);
  const IsoBox* meta = top ? FindBox(*top, kMeta) : nullptr;
  if (meta == nullptr || meta->end - meta->body < 4) {
    return std::nullopt;
  }
  const auto inMeta = ChildBoxes(file, meta->body + 4, meta->end);
  const IsoBox* pitm = inMeta ? FindBox(*inMeta, kPitm) : nullptr;
  const IsoBox* iloc = inMeta ? FindBox(*inMeta, kIloc) : nullptr;
  const IsoBox* iprp = inMeta ? FindBox(*inMeta, kIprp) : nullptr;
  if (pitm == nullptr || iloc == nullptr || iprp == nullptr || pitm->end - pitm->body < 6) {
    return std::nullopt;
  }
  const uint64_t primary = ReadBigEndian(file, pitm->body + 4, file.data[pitm->body] == 0 ? 2 : 4);
  const auto inIprp = ChildBoxes(file, iprp->body, iprp->end);
  if (!inIprp || std::count_if(inIprp->begin(), inIprp->end(),
                               [](const IsoBox& box) { return box.type == kIpma; }) != 1) {
    return std::nullopt;
  }
  const IsoBox* ipco = FindBox(*inIprp, kIpco);
  const IsoBox* ipma = FindBox(*inIprp, kIpma);
  const auto properties = ipco ? ChildBoxes(file, ipco->body, ipco->end) : std::nullopt;
  const auto associations =
      properties ? PrimaryAssociations(file, *ipma, static_cast<uint32_t>(primary)) : std::nullopt;
  if (!associations) {
    return std::nullopt;
  }

  // irot turns counter-clockwise by quarters; a mirror applied after it reverses the turn.
  const int quarters = direction == 1 ? 3 : 1;
  const IsoBox* rotation = nullptr;
  bool mirroredAfter = false;
  for (const uint32_t index : associations->indices) {
    const IsoBox* property =
        index >= 1 && index <= properties->size() ? &(*properties)[index - 1] : nullptr;
    if (property != nullptr && property->type == kIrot) {
      if (rotation != nullptr || property->end - property->body < 1) {
        return std::nullopt;
      }
      rotation = property;
    } else if (property != nullptr && property->type == kImir && rotation != nullptr) {
      mirroredAfter = true;
    }
  }
  if (rotation != nullptr) {
    std::vector<uint8_t> out(file.data, file.data + file.size);
    uint8_t& angle = out[rotation->body];
    angle = static_cast<uint8_t>((angle & ~3) |
                                 ((angle + (mirroredAfter ? 4 - quarters : quarters)) & 3));
    return out;
  }

  // A new rotation property, last in the property container and last among the picture's own,
  // marked essential as every transform is.
  const size_t index = properties->size() + 1;
  if (index > (associations->wide ? 0x7FFFu : 0x7Fu) || file.data[associations->countAt] == 255) {
    return std::nullopt;
  }
  std::vector<Insertion> insertions{
      {ipco->end, {0, 0, 0, 9, 'i', 'r', 'o', 't', static_cast<uint8_t>(quarters)}},
      {associations->entryEnd, associations->wide
                                   ? std::vector<uint8_t>{static_cast<uint8_t>(0x80 | index >> 8),
                                                          static_cast<uint8_t>(index)}
                                   : std::vector<uint8_t>{static_cast<uint8_t>(0x80 | index)}}};
  std::vector<Patch> patches{{associations->countAt, 1, file.data[associations->countAt] + 1u}};
  for (const IsoBox* box : {meta, iprp, ipco, ipma}) {
    if (!GrowBox(file, *box, insertions, patches)) {
      return std::nullopt;
    }
  }
  if (!MoveLocations(file, *iloc, insertions, patches)) {
    return std::nullopt;
  }
  return Assemble(file, patches, std::move(insertions));
}

}  // namespace codec
