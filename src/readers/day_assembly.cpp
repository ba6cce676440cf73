#include "readers/day_assembly.hpp"

namespace brelund::readers {

DayAssembly::DayAssembly() noexcept = default;
DayAssembly::~DayAssembly() = default;

void DayAssembly::read_forecast(const xmlNode* /*forecast*/) noexcept {}

}  // namespace brelund::readers
