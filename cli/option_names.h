#pragma once
// The names of the commands' options: one spelling for the table that parses them and the
// commands that read them.

namespace cli::option {

inline constexpr char port[] = "port";
inline constexpr char retries[] = "retries";
inline constexpr char password[] = "password";
inline constexpr char output[] = "output";
inline constexpr char force[] = "force";
inline constexpr char count[] = "count";
inline constexpr char interval[] = "interval";
inline constexpr char max_misses[] = "max-misses";
inline constexpr char slot[] = "slot";
inline constexpr char current[] = "current";
inline constexpr char passive[] = "passive";
inline constexpr char active[] = "active";
inline constexpr char virs[] = "virs";
inline constexpr char sensor_output[] = "output";
inline constexpr char invert[] = "invert";
inline constexpr char smooth[] = "smooth";
inline constexpr char session[] = "session";
inline constexpr char start_litres[] = "start-litres";
inline constexpr char settle[] = "settle";
inline constexpr char tolerance[] = "tolerance";
inline constexpr char trace[] = "trace";

}  // namespace cli::option
