#pragma once
// Every fuzz target, by name; each name is also the folder of its saved inputs
// under fuzz/corpus/ and, prefixed with fuzz_, the name of its fuzzer program.

#include <cstddef>
#include <cstdint>

#define QUOR_FUZZ_TARGETS(X)                                                                                 \
    X(bus_table)                                                                                             \
    X(cfg_block)                                                                                             \
    X(link_replies)                                                                                          \
    X(emu_handle)                                                                                            \
    X(scenario)                                                                                              \
    X(quorsim_args)                                                                                          \
    X(help_rtf)                                                                                              \
    X(report)                                                                                                \
    X(backup_file)                                                                                           \
    X(site_file)

#define QUOR_FUZZ_DECLARE(name) int QuorFuzz_##name(const uint8_t* data, size_t size);
QUOR_FUZZ_TARGETS(QUOR_FUZZ_DECLARE)
#undef QUOR_FUZZ_DECLARE
