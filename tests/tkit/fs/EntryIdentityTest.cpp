#include "tkit/fs/EntryIdentity.h"

#include <gtest/gtest.h>

namespace
{

// One entry only on one volume with one whole id: a file system may give ids
// that share their low 64 bits (ReFS), or none at all (0, on some shares).
TEST(EntryIdentity, TheSameOnlyForTheSameVolumeAndTheWholeSameId)
{
    const struct
    {
        tkit::EntryIdentity a, b;
        bool same;
    } cases[] = {
        {{7, 1, 2}, {7, 1, 2}, true},  {{7, 1, 2}, {8, 1, 2}, false}, {{7, 1, 2}, {7, 1, 3}, false},
        {{7, 1, 2}, {7, 9, 2}, false}, {{7, 0, 0}, {7, 0, 0}, false}, {{0, 0, 0}, {0, 0, 0}, false},
        {{7, 0, 0}, {7, 1, 0}, false},
    };
    for (const auto& c : cases)
        EXPECT_TRUE((c.a == c.b) == c.same && (c.b == c.a) == c.same) << &c - cases;
}

} // namespace
