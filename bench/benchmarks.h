#pragma once
// The benchmark groups, registered by main in this order so that each figure
// runs right beside its floor.

namespace modsetup::bench {

void registerApplyBenchmarks();   // "apply/full", "apply/floor"
void registerLoadBenchmarks();    // "load/full/<sets>", "load/floor/<sets>" for 3, 300 and 3,000 sets
void registerWindowBenchmarks();
void registerCheckBenchmarks();   // "check/full/<sets>", "check/floor/<sets>" for 300, 1,000 and 3,000 sets  // "window/form1", "window/floor", "window/no-library", "window/lists-only"

}  // namespace modsetup::bench
