#pragma once
// The text shown for a result code in the load message.

#include <cstdint>
#include <string>

#include "imaging/codec/Codec.h"

// The message text of a known code; otherwise "IDispatch error #%d" for codes 0x8004xxxx
// above 0x80040200, and "Unknown error 0x%0lX" for the rest.
std::string ErrorText(uint32_t code);

// What went wrong with a file that gave no picture, in words and without a code: the second
// line of the load message.
std::string DecodeFailureText(const codec::DecodeResult& result);
