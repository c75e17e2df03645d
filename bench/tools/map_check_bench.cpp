// map-check's rules on a 1024 x 1024 map (mostly empty cells, which the
// player may walk) with 1,000 locked doors, against the same map without
// doors: the locked doors must add little to a check whose cost is the
// grid. Two layouts: a chain, where each door's key lies behind the door
// before it, so that keys turn up one at a time, and closets that each hold
// their own door's key, so that every door is a finding that needs its own
// look at what lies behind it. And one block crowded with wall-hung
// pickups, each placed on the block's wall, or each refused for a wall
// that comes after it: the check grows with the crowd, not with its
// square. The files the map names are not read.
//   build/bench/map_check_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "tests/tools/map-check/map_text.h"
#include "tools/map-check/map_check.h"

namespace {

constexpr int kMapSize = 1024;

void Check(benchmark::State& state, int doors, bool chain) {
    const std::string text = mapcheck::test::WithHeader(mapcheck::test::LockedDoorMap(kMapSize, doors, chain));
    mapcheck::CheckOptions options;
    options.checkFiles = false;
    for (auto _ : state) {
        std::istringstream in(text);
        const mapcheck::MapCheck check(in, options);
        benchmark::DoNotOptimize(check.Errors());
    }
}

// `count` of the kind in one block, the wall before them or after them.
std::string CrowdedBlock(int count, const char* kind, bool wallFirst) {
    std::string block = "block 1 1 { floor { NORMAL_FLOOR } ";
    if (wallFirst) block += "north { WALL } ";
    block += "liveobjects {\n";
    for (int i = 0; i < count; ++i) block += std::string(kind) + " { }\n";
    block += wallFirst ? "} }\n" : "} north { WALL } }\n";
    return "mapsize 1 1 blocksize 3 models { rack.3DS fullrack.3DS toolbox.3DS emptybox.3DS medikit.3DS "
           "emptykit.3DS }\n" + block;
}

void Crowd(benchmark::State& state, const char* kind, bool wallFirst) {
    const std::string text = CrowdedBlock(static_cast<int>(state.range(0)), kind, wallFirst);
    mapcheck::CheckOptions options;
    options.checkFiles = false;
    for (auto _ : state) {
        std::istringstream in(text);
        const mapcheck::MapCheck check(in, options);
        benchmark::DoNotOptimize(check.Errors());
    }
}

void CrowdOfMedikits(benchmark::State& state) { Crowd(state, "MEDIKIT", true); }
void CrowdOfWeapons(benchmark::State& state) { Crowd(state, "WEAPON", true); }
void CrowdOfToolBoxes(benchmark::State& state) { Crowd(state, "FLASHLIGHT", true); }
void CrowdBeforeTheWall(benchmark::State& state) { Crowd(state, "MEDIKIT", false); }

void NoDoors(benchmark::State& state) { Check(state, 0, true); }
void ChainOfDoors(benchmark::State& state) { Check(state, static_cast<int>(state.range(0)), true); }
void KeysBehindTheirDoors(benchmark::State& state) { Check(state, static_cast<int>(state.range(0)), false); }

}  // namespace

BENCHMARK(NoDoors)->Name("baseline/no_doors")->Unit(benchmark::kMillisecond);
BENCHMARK(ChainOfDoors)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(KeysBehindTheirDoors)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

BENCHMARK(CrowdOfMedikits)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(CrowdOfWeapons)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(CrowdOfToolBoxes)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(CrowdBeforeTheWall)->Arg(200000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
