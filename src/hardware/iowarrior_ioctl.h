#pragma once
// User-space copy of the iowarrior kernel driver's ioctl interface (Debian ships no header for it).

#include <linux/ioctl.h>

#include <cstddef>
#include <cstdint>

namespace kw {

struct iowarrior_info {
    std::uint32_t vendor;      // 0x07c0 for Code Mercenaries
    std::uint32_t product;     // 0x1500 IOW40, 0x1501 IOW24, 0x1503 IOW56, ...
    std::uint8_t serial[9];    // empty string when the chip has none
    std::uint32_t revision;
    std::uint32_t speed;       // 0 unknown, 1 low, 2 full, 3 high
    std::uint32_t power;       // mA
    std::uint32_t if_num;      // 0 = the I/O pins, 1 = special-mode pipe
    std::uint32_t report_size; // bytes a write() must pass (without the report ID)
};

static_assert(sizeof(iowarrior_info) == 40);
static_assert(offsetof(iowarrior_info, serial) == 8);
static_assert(offsetof(iowarrior_info, revision) == 20);
static_assert(offsetof(iowarrior_info, if_num) == 32);
static_assert(offsetof(iowarrior_info, report_size) == 36);

inline constexpr unsigned CODEMERCS_MAGIC_NUMBER = 0xC0;
inline constexpr unsigned long IOW_WRITE = _IOW(CODEMERCS_MAGIC_NUMBER, 1, std::uint8_t*);
inline constexpr unsigned long IOW_READ = _IOW(CODEMERCS_MAGIC_NUMBER, 2, std::uint8_t*);
inline constexpr unsigned long IOW_GETINFO = _IOR(CODEMERCS_MAGIC_NUMBER, 3, iowarrior_info);

static_assert(IOW_GETINFO == 0x8028C003UL);

} // namespace kw
