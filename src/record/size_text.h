// The archive size as the completion message shows it: kilobytes with three decimals and a
// comma between each group of three digits of the whole part ("1,500.000").
#pragma once

#include <cstdint>
#include <string>

namespace glimwell {

std::wstring FormatKilobytes(std::uint64_t bytes);

}  // namespace glimwell
