// The web page of nested hints, 10, 100 and 900 levels deep (/deep), against as many side by
// side (/flat): its size over the file's size (page_over_file; the page's own style and script
// weigh on a small file) and the export's time per byte of the file (ns_per_file_byte) stay
// level as the depth grows, since each hint is enciphered once however deep it lies.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <sstream>
#include <string>
#include <vector>

#include "model/document/hint_document.h"
#include "model/format/hint_stream.h"
#include "model/outline/hint_writer.h"
#include "model/web/html_export.h"

namespace {

// count nested hints, each inside the one before, or side by side (flat) as a file of the same
// size to compare with.
std::string NestedHintsFile(int count, bool flat) {
    klu::HintFilePlan plan;
    plan.title88 = "Bottomless Well";
    plan.root = klu::MakeSubject("Bottomless Well");
    klu::HintNode* level = plan.root.get();
    for (int i = 1; i <= count; ++i) {
        klu::HintNode* hint = (flat ? plan.root.get() : level)
                                  ->Add(klu::MakeNode("NESTHINT", "Level " + std::to_string(i)));
        hint->Line("Look further down.").Separator();
        level = hint;
    }
    return klu::WriteHintFile(plan).value_or(std::string());
}

void BM_PageOfNestedHints(benchmark::State& state, bool flat) {
    const std::string file = NestedHintsFile(static_cast<int>(state.range(0)), flat);
    klu::HintDocument document;
    klu::HintFileBytes bytes{klu::HintFileRead::Whole, {file.begin(), file.end()}, std::nullopt};
    if (file.empty() ||
        klu::LoadHintFile(std::move(bytes), document, false).result != klu::LoadResult::Ok) {
        state.SkipWithError("the file does not load");
        return;
    }
    size_t page_size = 0;
    for (auto _ : state) {
        std::ostringstream page;
        klu::ExportHtml(document, "", page);
        page_size = page.view().size();
    }
    state.counters["page_over_file"] =
        static_cast<double>(page_size) / static_cast<double>(file.size());
    state.counters["ns_per_file_byte"] = benchmark::Counter(
        static_cast<double>(file.size()) * 1e-9,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK_CAPTURE(BM_PageOfNestedHints, deep, false)
    ->Arg(10)
    ->Arg(100)
    ->Arg(900)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PageOfNestedHints, flat, true)
    ->Arg(10)
    ->Arg(100)
    ->Arg(900)
    ->Unit(benchmark::kMicrosecond);
// The allocator keeps what an export freed for the next one: otherwise glibc gives the top of
// the heap back after each deep page, and the next export's time goes on faulting it in again.
int main(int argc, char** argv) {
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
