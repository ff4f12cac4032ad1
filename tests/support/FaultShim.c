// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// A library for LD_PRELOAD that makes one call of one function of the C
// library fail or wait, so that the tests can put a program into the states
// a dying disk or a slow one would, at the exact call they mean:
//
//   ODU_FAULT_CALL      the function: fsync, renameat, linkat, fsetxattr,
//                       fchmod or fchown
//   ODU_FAULT_NTH       which of its calls (1 for the first), counted in the
//                       whole process
//   ODU_FAULT_ERRNO     the error that call returns (0 or unset: it runs)
//   ODU_FAULT_DELAY_MS  how long that call waits before it runs or fails
//   ODU_FAULT_MARK      a file made when that call is reached, so a test
//                       waits for the moment instead of guessing it
//   ODU_FAULT_TRACE     a file that every call of these functions is
//                       appended to, one line each: "fsync <inode>",
//                       "renameat <new name>", "linkat <new name>", ...

#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <time.h>
#include <unistd.h>

static atomic_int calls;

static void trace(const char* format, ...)
{
    const char* file = getenv("ODU_FAULT_TRACE");
    if (!file || !*file)
        return;
    char line[512];
    va_list args;
    va_start(args, format);
    const int n = vsnprintf(line, sizeof line - 1, format, args);
    va_end(args);
    if (n <= 0)
        return;
    const size_t len = (size_t)n < sizeof line - 1 ? (size_t)n : sizeof line - 2;
    line[len] = '\n';
    const int saved = errno;
    const int fd = open(file, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ssize_t ignored = write(fd, line, len + 1);
        (void)ignored;
        close(fd);
    }
    errno = saved;
}

// 0 when the call runs; otherwise the error it fails with.
static int fault(const char* function)
{
    const char* chosen = getenv("ODU_FAULT_CALL");
    if (!chosen || strcmp(chosen, function) != 0)
        return 0;
    const char* nth = getenv("ODU_FAULT_NTH");
    const int n = atomic_fetch_add(&calls, 1) + 1;
    if (n != (nth ? atoi(nth) : 1))
        return 0;
    trace("fault %s %d", function, n);
    const char* mark = getenv("ODU_FAULT_MARK");
    if (mark && *mark) {
        const int fd = open(mark, O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        if (fd >= 0)
            close(fd);
    }
    const char* delay = getenv("ODU_FAULT_DELAY_MS");
    if (delay) {
        const long ms = atol(delay);
        struct timespec t = {ms / 1000, (ms % 1000) * 1000000L};
        while (nanosleep(&t, &t) != 0 && errno == EINTR) {
        }
    }
    const char* error = getenv("ODU_FAULT_ERRNO");
    return error ? atoi(error) : 0;
}

static unsigned long long inodeOf(int fd)
{
    struct stat st;
    return fstat(fd, &st) == 0 ? (unsigned long long)st.st_ino : 0;
}

#define NEXT(name) ((name##_fn)dlsym(RTLD_NEXT, #name))

typedef int (*fsync_fn)(int);
int fsync(int fd)
{
    trace("fsync %llu", inodeOf(fd));
    const int error = fault("fsync");
    if (error) {
        errno = error;
        return -1;
    }
    return NEXT(fsync)(fd);
}

typedef int (*renameat_fn)(int, const char*, int, const char*);
int renameat(int olddirfd, const char* oldpath, int newdirfd, const char* newpath)
{
    trace("renameat %s", newpath);
    const int error = fault("renameat");
    if (error) {
        errno = error;
        return -1;
    }
    return NEXT(renameat)(olddirfd, oldpath, newdirfd, newpath);
}

typedef int (*linkat_fn)(int, const char*, int, const char*, int);
int linkat(int olddirfd, const char* oldpath, int newdirfd, const char* newpath, int flags)
{
    trace("linkat %s", newpath);
    const int error = fault("linkat");
    if (error) {
        errno = error;
        return -1;
    }
    return NEXT(linkat)(olddirfd, oldpath, newdirfd, newpath, flags);
}

typedef int (*fsetxattr_fn)(int, const char*, const void*, size_t, int);
int fsetxattr(int fd, const char* name, const void* value, size_t size, int flags)
{
    trace("fsetxattr %s", name);
    const int error = fault("fsetxattr");
    if (error) {
        errno = error;
        return -1;
    }
    return NEXT(fsetxattr)(fd, name, value, size, flags);
}

typedef int (*fchmod_fn)(int, mode_t);
int fchmod(int fd, mode_t mode)
{
    trace("fchmod %o", (unsigned)mode);
    const int error = fault("fchmod");
    if (error) {
        errno = error;
        return -1;
    }
    return NEXT(fchmod)(fd, mode);
}

typedef int (*fchown_fn)(int, uid_t, gid_t);
int fchown(int fd, uid_t owner, gid_t group)
{
    trace("fchown %d %d", (int)owner, (int)group);
    const int error = fault("fchown");
    if (error) {
        errno = error;
        return -1;
    }
    return NEXT(fchown)(fd, owner, group);
}
