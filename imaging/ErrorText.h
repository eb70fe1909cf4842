#pragma once
// The text shown for a result code in the load message.

#include <cstdint>
#include <string>

// The message text of a known code; otherwise "IDispatch error #%d" for codes 0x8004xxxx
// above 0x80040200, and "Unknown error 0x%0lX" for the rest.
std::string ErrorText(uint32_t code);
