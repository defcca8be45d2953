#pragma once

#include "tkit/ui/ListView.h"

namespace tkit
{

// Keeps a list's repainting off for the lifetime of the object, around bulk
// changes; the list is repainted whole once the outermost pause goes. Pauses
// nest: an inner one (one path of a drop of many) leaves repainting off.
class RedrawPause
{
public:
    explicit RedrawPause(ListView& list);
    ~RedrawPause();
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

    // Paints a list whose repainting is paused as it stands now, once, and
    // leaves it paused: long work shows its rows batch by batch.
    static void paintNow(ListView& list);

private:
    ListView& list;
};

} // namespace tkit
