// Expanding a folder tree against a bare loop of the platform's directory
// calls over the same tree: entries per second of both and their ratio, for a
// tree of 10,000 and one of 100,000 entries.

#include "support/BenchTree.h"
#include "tkit/fs/ExpandFolder.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace
{

constexpr bench::TreeShape shape = {20, 3};

// The least a walk over the tree needs: the platform's calls and the folder
// paths to go down into.
size_t bareLoop(const std::wstring& root)
{
    size_t count = 0;
    bench::walkTree(root, [&](const std::wstring&, const WIN32_FIND_DATAW&) { ++count; });
    return count;
}

size_t expansion(const std::wstring& root)
{
    tkit::StringList list;
    tkit::expandFolder(&list, root.c_str());
    return list.size();
}

template <typename Walk>
double timed(Walk walk, const std::wstring& root, size_t& count)
{
    const LARGE_INTEGER start = bench::now();
    count = walk(root);
    return bench::secondsBetween(start, bench::now());
}

struct Figures
{
    double bareRate;
    double expandRate;
};

bool run(const std::wstring& root, int entries, Figures& figures)
{
    const LARGE_INTEGER start = bench::now();
    bench::generateTree(root, entries, shape);
    std::printf("tree of %d entries made in %.1f s\n", entries,
                bench::secondsBetween(start, bench::now()));

    // One walk of each first, so both find the tree equally warm.
    bareLoop(root);
    expansion(root);
    // The best of several rounds, the two walks taking turns, so that load from
    // elsewhere on the machine weighs on both alike.
    size_t bareCount = 0;
    size_t expandCount = 0;
    double bare = 1e30;
    double expand = 1e30;
    for (int round = 0; round < 5; ++round)
    {
        bare = std::min(bare, timed(bareLoop, root, bareCount));
        expand = std::min(expand, timed(expansion, root, expandCount));
    }
    bench::removeTree(root);

    figures.bareRate = static_cast<double>(bareCount) / bare;
    figures.expandRate = static_cast<double>(expandCount) / expand;
    std::printf("  bare loop   %7zu entries  %8.1f ms  %10.0f entries/s\n", bareCount, bare * 1e3,
                figures.bareRate);
    std::printf("  expansion   %7zu entries  %8.1f ms  %10.0f entries/s\n", expandCount,
                expand * 1e3, figures.expandRate);
    std::printf("  expansion takes %.2f times the bare loop's time\n", expand / bare);
    return bareCount == static_cast<size_t>(entries) && expandCount == bareCount;
}

} // namespace

int main()
{
    const std::wstring base = bench::scratchPath(L"expand");

    bool ok = true;
    Figures small{};
    Figures large{};
    ok = run(base + L"-10k", 10000, small) && ok;
    ok = run(base + L"-100k", 100000, large) && ok;

    std::printf("per-entry time, 100,000 against 10,000 entries: bare loop %.2f, expansion %.2f\n",
                small.bareRate / large.bareRate, small.expandRate / large.expandRate);
    if (!ok)
        std::printf("entry counts differ from the generated tree\n");
    return ok ? 0 : 1;
}
