// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// Loads each library named on the command line with dlopen, unloads it with
// dlclose, and checks that it is gone from the process's mappings; several
// times, as a host that loads and unloads plug-ins does. A library that stays
// mapped (an STB_GNU_UNIQUE object, a thread_local with a destructor, a
// library marked "nodelete") keeps its old copy and its state in the host.
//
//   unload LIBRARY...
//
// Exits 0 when every library unloaded every time, 1 otherwise (saying which
// and when), 2 on wrong arguments. Needs nothing but the C++ library, so that
// the installed-packages test builds it with the compiler alone.

#include <dlfcn.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

constexpr int kCycles = 4;

// Whether the file is mapped into this process. /proc/self/maps names each
// mapped file by its real path (the file, not a link such as libfoo.so.1).
bool isMapped(const std::string& realPath)
{
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        const auto slash = line.find('/');
        if (slash != std::string::npos && line.compare(slash, std::string::npos, realPath) == 0)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s LIBRARY...\n", argv[0]);
        return 2;
    }
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        char resolved[PATH_MAX];
        if (!realpath(argv[i], resolved)) {
            std::fprintf(stderr, "%s: no such library\n", argv[i]);
            return 2;
        }
        const std::string realPath = resolved;
        if (isMapped(realPath)) {
            std::fprintf(stderr, "%s: mapped before it was loaded (linked into this program?)\n", argv[i]);
            return 2;
        }
        bool unloaded = true;
        for (int cycle = 1; cycle <= kCycles && unloaded; ++cycle) {
            void* handle = dlopen(argv[i], RTLD_NOW | RTLD_LOCAL);
            if (!handle) {
                std::fprintf(stderr, "%s: dlopen failed: %s\n", argv[i], dlerror());
                return 1;
            }
            if (!isMapped(realPath)) {
                std::fprintf(stderr, "%s: loaded but not found in /proc/self/maps as %s\n", argv[i],
                             realPath.c_str());
                return 1;
            }
            if (dlclose(handle) != 0) {
                std::fprintf(stderr, "%s: dlclose failed: %s\n", argv[i], dlerror());
                return 1;
            }
            if (isMapped(realPath)) {
                std::fprintf(stderr,
                             "%s: still mapped after dlclose (cycle %d of %d): an STB_GNU_UNIQUE symbol "
                             "(readelf --dyn-syms), a thread_local with a destructor, or DF_1_NODELETE\n",
                             argv[i], cycle, kCycles);
                unloaded = false;
            }
        }
        if (!unloaded)
            ++failures;
        else
            std::printf("%s: unloaded %d times\n", argv[i], kCycles);
    }
    return failures == 0 ? 0 : 1;
}
