#pragma once

#include "tkit/ui/ListView.h"

namespace tkit
{

// Keeps a list's repainting off for the lifetime of the object, around bulk
// changes; the list is repainted whole once the object goes.
class RedrawPause
{
public:
    explicit RedrawPause(ListView& list) : list(list) { list.setRedraw(false); }
    ~RedrawPause() { list.setRedraw(true); }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    ListView& list;
};

} // namespace tkit
