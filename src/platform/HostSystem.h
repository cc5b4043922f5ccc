#pragma once

namespace tq {

// The kind of system the program runs on. The host adapters follow this build's system;
// tests choose either, so both sides are checked on each.
enum class HostSystem { Posix, Windows };

#ifdef _WIN32
inline constexpr HostSystem kThisHost = HostSystem::Windows;
#else
inline constexpr HostSystem kThisHost = HostSystem::Posix;
#endif

}  // namespace tq
