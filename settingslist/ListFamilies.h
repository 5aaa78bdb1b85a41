// The products of each family of the list layout, grouped alike by the
// settings grid's rows and by the restore page's archived settings.
#pragma once

#include <cstdint>

inline constexpr uint16_t kProducts4210[] = {0x4210};
inline constexpr uint16_t kProducts4310[] = {0x4310, 0x4330, 0x4510};
inline constexpr uint16_t kProducts4410[] = {0x4410, 0x4430};
inline constexpr uint16_t kProducts5520[] = {0x5520};
inline constexpr uint16_t kProducts5526[] = {0x5526, 0x5720};
inline constexpr uint16_t kProducts5610[] = {0x5610, 0x5611, 0x5612, 0x5620, 0x5621};
inline constexpr uint16_t kProducts5510[] = {0x5510};
inline constexpr uint16_t kProducts5530[] = {0x5530};
inline constexpr uint16_t kProducts5550[] = {0x5550};
inline constexpr uint16_t kProducts3110[] = {0x3110};
inline constexpr uint16_t kProducts5710[] = {0x5710};
inline constexpr uint16_t kProducts5623[] = {0x5623};
inline constexpr uint16_t kProducts5622[] = {0x5622, 0x5624};
inline constexpr uint16_t kProducts5524[] = {0x5524};
inline constexpr uint16_t kProducts5522[] = {0x5522};
inline constexpr uint16_t kProducts3030[] = {0x3030, 0x3040, 0x3050};
inline constexpr uint16_t kProducts6210[] = {0x6210};
inline constexpr uint16_t kProducts5910[] = {0x5910, 0x5920};
inline constexpr uint16_t kProducts5410[] = {0x5410};
inline constexpr uint16_t kProducts5412[] = {0x5412, 0x5414};
inline constexpr uint16_t kProducts5416[] = {0x5416};
inline constexpr uint16_t kProducts6010[] = {0x6010, 0x6012};
inline constexpr uint16_t kProducts6014[] = {0x6014, 0x6016};
inline constexpr uint16_t kProducts6018[] = {0x6018};
inline constexpr uint16_t kProducts6020[] = {0x6020, 0x6022, 0x6024};
