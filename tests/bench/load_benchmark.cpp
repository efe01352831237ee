// Loading speed of LoadModel on generated model files of 1, 10 and 100 MB,
// beside two baselines on the same bytes: reading the file and counting its
// lines (the least any reader must do), and tinyobjloader's parse.
// tools/bench-load.sh runs this binary and checks the ratios.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <tiny_obj_loader.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <system_error>

#include "model/model.h"
#include "model/obj_reader.h"
#include "platform/log.h"
#include "tests/bench/generated_obj.h"

namespace {

constexpr std::size_t kMegabyte = std::size_t{1} << 20;
// The block size of the model reader, so the floor reads the way it does.
constexpr std::size_t kReadBlockSize = std::size_t{1} << 18;

struct Files {
  std::filesystem::path directory;
  std::map<int64_t, std::string> models;  // by size in MB
  std::map<int64_t, std::size_t> sizes;
  std::string progress;                   // where the progress text goes in the file case
};

Files files;

// The record is large; like the viewer, the benchmark makes it once and
// zeroes it before each load.
Model& TheModel() {
  static const std::unique_ptr<Model> model(new Model{});
  return *model;
}

const std::string& ModelFile(benchmark::State& state) {
  const std::string& path = files.models[state.range(0)];
  if (path.empty()) state.SkipWithError("no generated model file of this size");
  return path;
}

void SetBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(files.sizes[state.range(0)]));
}

void Floor(benchmark::State& state) {
  const std::string& path = ModelFile(state);
  std::unique_ptr<char[]> block(new char[kReadBlockSize]);
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
      state.SkipWithError("cannot open the model file");
      break;
    }
    std::size_t lines = 0;
    std::size_t got;
    while ((got = std::fread(block.get(), 1, kReadBlockSize, file)) > 0) {
      // memchr, as the reader finds its line ends: quicker than std::count.
      const char* first = block.get();
      const char* const last = first + got;
      while (const void* lineFeed = std::memchr(first, '\n', static_cast<std::size_t>(last - first))) {
        ++lines;
        first = static_cast<const char*>(lineFeed) + 1;
      }
    }
    std::fclose(file);
    benchmark::DoNotOptimize(lines);
  }
  SetBytes(state);
}

void LoadWithProgressDropped(benchmark::State& state) {
  const std::string& path = ModelFile(state);
  Model& model = TheModel();
  LogSetStream(nullptr);
  for (auto _ : state) {
    std::memset(static_cast<void*>(&model), 0, sizeof model);
    LoadModel(path, model);
    LogFlush();
    benchmark::DoNotOptimize(model.lastFace);
  }
  SetBytes(state);
}

void LoadWithProgressToFile(benchmark::State& state) {
  const std::string& path = ModelFile(state);
  Model& model = TheModel();
  for (auto _ : state) {
    // Emptying the last run's file is not part of loading.
    state.PauseTiming();
    std::FILE* progress = std::fopen(files.progress.c_str(), "wb");
    state.ResumeTiming();
    if (progress == nullptr) {
      state.SkipWithError("cannot write the progress file");
      break;
    }
    LogSetStream(progress);
    std::memset(static_cast<void*>(&model), 0, sizeof model);
    LoadModel(path, model);
    LogSetStream(nullptr);  // hands the rest of the text to the file
    std::fclose(progress);
    benchmark::DoNotOptimize(model.lastFace);
  }
  SetBytes(state);
  std::error_code ignored;
  state.counters["progress_bytes"] = static_cast<double>(std::filesystem::file_size(files.progress, ignored));
}

void TinyObjLoader(benchmark::State& state) {
  const std::string& path = ModelFile(state);
  for (auto _ : state) {
    tinyobj::ObjReader reader;
    if (!reader.ParseFromFile(path)) {
      state.SkipWithError(("tinyobjloader refused the file: " + reader.Error()).c_str());
      break;
    }
    benchmark::DoNotOptimize(reader.GetAttrib().vertices.data());
  }
  SetBytes(state);
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(Floor)->Apply(Sizes);
BENCHMARK(LoadWithProgressDropped)->Apply(Sizes);
BENCHMARK(LoadWithProgressToFile)->Apply(Sizes);
BENCHMARK(TinyObjLoader)->Apply(Sizes);

bool MakeFiles() {
  std::string pattern = (std::filesystem::temp_directory_path() / "viewer-load-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return false;
  files.directory = pattern;
  files.progress = (files.directory / "progress.txt").string();
  for (int64_t megabytes : {1, 10, 100}) {
    const std::string path = (files.directory / ("model-" + std::to_string(megabytes) + "MB.obj")).string();
    if (!WriteGeneratedObj(path, static_cast<std::size_t>(megabytes) * kMegabyte)) return false;
    files.models[megabytes] = path;
    files.sizes[megabytes] = static_cast<std::size_t>(std::filesystem::file_size(path));
  }
  return true;
}

void RemoveFiles() {
  std::error_code ignored;
  if (!files.directory.empty()) std::filesystem::remove_all(files.directory, ignored);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const bool made = MakeFiles();
  if (!made) std::fprintf(stderr, "load_benchmark: cannot write the model files in %s\n", files.directory.c_str());
  if (made) benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  RemoveFiles();
  return made ? 0 : 1;
}
