#pragma once

#include <cstddef>
#include <functional>

// What long work over many rows or files tells as it goes, and how it learns
// to stop: the window keeps answering, shows progress and offers Stop while
// the work calls advance() after each item.
class Steps
{
public:
    virtual ~Steps() = default;
    // How many items the work has in all, once it knows.
    virtual void setTotal(size_t total) = 0;
    // One more item done. False once the user asked to stop: the work ends
    // after the item at hand, and what it did stays done.
    virtual bool advance() = 0;

    // Steps that show nothing and never stop, for work run outside the window.
    static Steps& none();
};

// Runs a named piece of long work (e.g. 削除中): the window runs it in steps,
// with progress and Stop; without a window it runs at once.
using StepsRunner =
    std::function<void(const wchar_t* name, const std::function<void(Steps&)>& body)>;
