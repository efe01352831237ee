// Loading speed of LoadModel on generated model files of 1, 10 and 100 MB,
// beside baselines on the same bytes in the same run: reading the file and
// counting its lines (the floor: the least any reader must do), and
// tinyobjloader's parse with its default settings. One more baseline shows
// what the progress text costs by itself: the floor plus writing as many
// bytes as the progress text has to a file.
// tools/bench-load.sh runs this binary and checks the ratios.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <tiny_obj_loader.h>

#include <algorithm>
#include <cstdint>
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
// The block size of the model reader (64 KiB), so the floor reads the way it does.
constexpr std::size_t kReadBlockSize = std::size_t{1} << 16;
// The size of the pieces in which the progress text reaches its stream.
constexpr std::size_t kWriteSize = std::size_t{1} << 16;

struct ModelFile {
  std::string path;
  std::size_t bytes = 0;
  std::size_t progressBytes = 0;  // of the progress text that loading it writes
};

struct Files {
  std::filesystem::path directory;          // the model files
  std::filesystem::path progressDirectory;  // the progress file
  std::map<int64_t, ModelFile> models;      // by size in MB
  std::string progress;                     // where the progress text goes in the file cases
};

Files files;

// The generated files name no material library, so no texture is ever asked
// for; loading stays free of OpenGL.
uint32_t NoTexture(const std::string&) { return 0; }

// The record is large; like the viewer, the benchmark makes it once and
// zeroes it before each load.
Model& TheModel() {
  static const std::unique_ptr<Model> model(new Model{});
  return *model;
}

const ModelFile& FileFor(benchmark::State& state) {
  const ModelFile& file = files.models[state.range(0)];
  if (file.path.empty()) state.SkipWithError("no generated model file of this size");
  return file;
}

void SetBytes(benchmark::State& state, const ModelFile& file) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.bytes));
}

// Opens the progress file emptied; emptying the last run's file is not part
// of loading, so it is left out of the time.
std::FILE* OpenProgressFile(benchmark::State& state) {
  state.PauseTiming();
  std::FILE* progress = std::fopen(files.progress.c_str(), "wb");
  state.ResumeTiming();
  if (progress == nullptr) state.SkipWithError("cannot write the progress file");
  return progress;
}

// Closes the progress file after its text has been handed over. Left out of
// the time: the viewer keeps its standard output open after loading, and on
// ext4 closing a file that was emptied and written again starts its writeback
// right away, which would be counted as loading otherwise.
void CloseProgressFile(benchmark::State& state, std::FILE* progress) {
  state.PauseTiming();
  std::fclose(progress);
  state.ResumeTiming();
}

// Reads the file in the reader's blocks and counts its line feeds; with
// progress, also writes progressBytes bytes to it, spread over the blocks.
std::size_t ReadAndCount(const ModelFile& model, char* block, std::FILE* progress) {
  std::FILE* file = std::fopen(model.path.c_str(), "rb");
  if (file == nullptr) return 0;
  std::size_t lines = 0;
  std::size_t read = 0;
  std::size_t written = 0;
  std::size_t got;
  while ((got = std::fread(block, 1, kReadBlockSize, file)) > 0) {
    // memchr, as the reader finds its line ends: quicker than std::count.
    const char* first = block;
    const char* const last = block + got;
    while (const void* lineFeed = std::memchr(first, '\n', static_cast<std::size_t>(last - first))) {
      ++lines;
      first = static_cast<const char*>(lineFeed) + 1;
    }
    read += got;
    if (progress == nullptr) continue;
    const std::size_t due = model.bytes == 0 ? 0 : model.progressBytes / model.bytes * read +
                                                       model.progressBytes % model.bytes * read / model.bytes;
    while (written < due) {
      const std::size_t piece = std::min({due - written, kWriteSize, got});
      std::fwrite(block, 1, piece, progress);
      written += piece;
    }
  }
  std::fclose(file);
  return lines;
}

void Floor(benchmark::State& state) {
  const ModelFile& model = FileFor(state);
  std::unique_ptr<char[]> block(new char[kReadBlockSize]);
  for (auto _ : state) {
    const std::size_t lines = ReadAndCount(model, block.get(), nullptr);
    if (lines == 0) {
      state.SkipWithError("cannot read the model file");
      break;
    }
    benchmark::DoNotOptimize(lines);
  }
  SetBytes(state, model);
}

void FloorWithProgressWrite(benchmark::State& state) {
  const ModelFile& model = FileFor(state);
  std::unique_ptr<char[]> block(new char[kReadBlockSize]);
  for (auto _ : state) {
    std::FILE* progress = OpenProgressFile(state);
    if (progress == nullptr) break;
    const std::size_t lines = ReadAndCount(model, block.get(), progress);
    std::fflush(progress);
    CloseProgressFile(state, progress);
    if (lines == 0) {
      state.SkipWithError("cannot read the model file");
      break;
    }
    benchmark::DoNotOptimize(lines);
  }
  SetBytes(state, model);
  state.counters["progress_bytes"] = static_cast<double>(model.progressBytes);
}

void LoadWithProgressDropped(benchmark::State& state) {
  const ModelFile& file = FileFor(state);
  Model& model = TheModel();
  LogSetStream(nullptr);
  for (auto _ : state) {
    std::memset(static_cast<void*>(&model), 0, sizeof model);
    LoadModel(file.path, model, NoTexture);
    LogFlush();
    benchmark::DoNotOptimize(model.lastFace);
  }
  SetBytes(state, file);
}

void LoadWithProgressToFile(benchmark::State& state) {
  const ModelFile& file = FileFor(state);
  Model& model = TheModel();
  for (auto _ : state) {
    std::FILE* progress = OpenProgressFile(state);
    if (progress == nullptr) break;
    LogSetStream(progress);
    std::memset(static_cast<void*>(&model), 0, sizeof model);
    LoadModel(file.path, model, NoTexture);
    LogSetStream(nullptr);  // hands the rest of the text to the file
    CloseProgressFile(state, progress);
    benchmark::DoNotOptimize(model.lastFace);
  }
  SetBytes(state, file);
  state.counters["progress_bytes"] = static_cast<double>(file.progressBytes);
}

void TinyObjLoader(benchmark::State& state) {
  const ModelFile& file = FileFor(state);
  for (auto _ : state) {
    tinyobj::ObjReader reader;
    if (!reader.ParseFromFile(file.path)) {
      state.SkipWithError(("tinyobjloader refused the file: " + reader.Error()).c_str());
      break;
    }
    benchmark::DoNotOptimize(reader.GetAttrib().vertices.data());
  }
  SetBytes(state, file);
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(Floor)->Apply(Sizes);
BENCHMARK(FloorWithProgressWrite)->Apply(Sizes);
BENCHMARK(LoadWithProgressDropped)->Apply(Sizes);
BENCHMARK(LoadWithProgressToFile)->Apply(Sizes);
BENCHMARK(TinyObjLoader)->Apply(Sizes);

// The size of the progress text that loading the file writes.
std::size_t ProgressBytes(const std::string& path) {
  std::FILE* progress = std::fopen(files.progress.c_str(), "wb");
  if (progress == nullptr) return 0;
  LogSetStream(progress);
  Model& model = TheModel();
  std::memset(static_cast<void*>(&model), 0, sizeof model);  // LoadModel takes a zeroed record
  LoadModel(path, model, NoTexture);
  LogSetStream(nullptr);
  std::fclose(progress);
  std::error_code ignored;
  return static_cast<std::size_t>(std::filesystem::file_size(files.progress, ignored));
}

// A new directory under base, or an empty path.
std::filesystem::path MakeDirectory(const std::filesystem::path& base) {
  std::string pattern = (base / "viewer-load-bench-XXXXXX").string();
  return mkdtemp(pattern.data()) != nullptr ? std::filesystem::path(pattern) : std::filesystem::path();
}

bool MakeFiles() {
  files.directory = MakeDirectory(std::filesystem::temp_directory_path());
  if (files.directory.empty()) return false;
  // The progress file is kept in memory where the system offers a place:
  // loading pays for handing the text to the kernel; writing it to a disk
  // comes later, on the kernel's own threads, and on a machine of few cores
  // that work would land at random on either side of a comparison.
  files.progressDirectory = MakeDirectory("/dev/shm");
  if (files.progressDirectory.empty()) files.progressDirectory = files.directory;
  files.progress = (files.progressDirectory / "progress.txt").string();
  for (int64_t megabytes : {1, 10, 100}) {
    ModelFile& model = files.models[megabytes];
    model.path = (files.directory / ("model-" + std::to_string(megabytes) + "MB.obj")).string();
    if (!WriteGeneratedObj(model.path, static_cast<std::size_t>(megabytes) * kMegabyte)) return false;
    model.bytes = static_cast<std::size_t>(std::filesystem::file_size(model.path));
    model.progressBytes = ProgressBytes(model.path);
  }
  return true;
}

void RemoveFiles() {
  std::error_code ignored;
  if (!files.progressDirectory.empty()) std::filesystem::remove_all(files.progressDirectory, ignored);
  if (!files.directory.empty()) std::filesystem::remove_all(files.directory, ignored);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const bool made = MakeFiles();
  if (made) {
    benchmark::RunSpecifiedBenchmarks();
  } else {
    std::fprintf(stderr, "load_benchmark: cannot write the model files in %s\n", files.directory.c_str());
  }
  benchmark::Shutdown();
  RemoveFiles();
  return made ? 0 : 1;
}
