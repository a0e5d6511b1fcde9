// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup/windowprogram.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace {

// Beside `korvel` in a build folder; under libexec once installed.
std::filesystem::path programPath()
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    const std::filesystem::path beside = folder / "korvel-window";
    if (::access(beside.c_str(), X_OK) == 0)
        return beside;
    return (folder / KORVEL_WINDOW_FROM_BIN).lexically_normal();
}

} // namespace

int WindowProgram::exec(char** argv)
{
    const std::filesystem::path program = programPath();
    ::execv(program.c_str(), argv);
    std::fprintf(stderr, "korvel: cannot start %s: %s\n", program.c_str(), std::strerror(errno));
    return 1;
}
