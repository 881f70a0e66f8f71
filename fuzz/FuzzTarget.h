#pragma once
// One fuzz target per file. Under libFuzzer the target is the program's
// LLVMFuzzerTestOneInput; in the replay test every target is a plain function
// of its own name, so the saved inputs of all targets run in one test program.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace quor::fuzz {

// A broken invariant. Deliberately no std::exception, so that no catch of an
// expected error inside a target can swallow it.
struct CheckFailure {
    std::string What;
};

[[noreturn]] inline void CheckFailed(const char* condition, const char* file, int line)
{
    std::string what = std::string(file) + ":" + std::to_string(line) + ": check failed: " + condition;
#ifdef QUOR_FUZZ_ENGINE
    // libFuzzer keeps the input that aborts and reports it as a crash.
    std::fprintf(stderr, "%s\n", what.c_str());
    std::abort();
#else
    throw CheckFailure{std::move(what)};
#endif
}

}  // namespace quor::fuzz

#ifdef QUOR_FUZZ_ENGINE
#define QUOR_FUZZ_TARGET(name) extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
#else
#define QUOR_FUZZ_TARGET(name) int QuorFuzz_##name(const uint8_t* data, size_t size)
#endif

#define FUZZ_CHECK(condition)                                                                                \
    ((condition) ? void(0) : ::quor::fuzz::CheckFailed(#condition, __FILE__, __LINE__))
