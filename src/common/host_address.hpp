#pragma once
// An address in the host's image, written as if the host were loaded at its default
// base 0x400000: the one address type of the table, the pass, the event and the patches.

#include <cstdint>

using HostAddress = std::uint32_t;
