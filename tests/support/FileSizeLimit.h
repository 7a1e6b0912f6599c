// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Makes every file this process writes fail once it would grow beyond a few
// bytes, as a full disk or a write interrupted half-way would. Only where the
// system offers a per-process file-size limit; elsewhere Available() is false
// and the tests that need it are skipped.
#if defined(__unix__) || defined(__APPLE__)
#include <csignal>
#include <sys/resource.h>

class FileSizeLimit {
public:
    static constexpr bool Available() { return true; }

    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        // Without this the system ends the process instead of failing the write.
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = SIG_DFL;
};
#else
class FileSizeLimit {
public:
    static constexpr bool Available() { return false; }
    explicit FileSizeLimit(unsigned long) {}
};
#endif
