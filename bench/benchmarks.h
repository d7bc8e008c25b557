#pragma once
// The benchmark groups, registered by main in this order so that each figure
// runs right beside its floor.

namespace modsetup::bench {

void registerApplyBenchmarks();  // "apply/full", "apply/plan", "apply/floor", "apply/changing", "apply/changing-floor"
void registerLoadBenchmarks();   // "load/full/<sets>", "load/floor/<sets>" for 3, 300 and 3,000 sets
// "start-up/<input>", "report/<input>" for normal and long-line input;
// "pictures/demo", "pictures/view-size", "pictures/run-length-bombs" (peak heap as a counter)
void registerHostileBenchmarks();
void registerWindowBenchmarks();  // "window/main", "window/floor"
void registerCheckBenchmarks();   // "check/full/<sets>", "check/floor/<sets>" for 300, 1,000 and 3,000 sets
// "shot/<format>/sdl", "shot/<format>/floor" (peak resident memory and the slowest click as counters)
void registerShotBenchmarks();
// "import/whole", "import/run", "import/floor" (bsdtar -xf); "import/memory" (the resident size an import adds)
void registerImportBenchmarks();
void registerRestoreBenchmarks();  // "menu/largest-points", "menu/floor"

}  // namespace modsetup::bench
