#pragma once
// The name of a file made from a picture (a cropped copy, a web copy): the picture's own name
// when its format can be written, else that name with ".jpg" added, the file then being a
// JPEG (phone.heic gives phone.heic.jpg), so that it stays unique beside the others.

#include <string>

namespace codec {

std::string WrittenNameOf(const std::string& fileName);

}  // namespace codec
