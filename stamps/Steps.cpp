#include "stamps/Steps.h"

namespace
{

class NoSteps : public Steps
{
public:
    void setTotal(size_t) override {}
    bool advance() override { return true; }
};

} // namespace

Steps& Steps::none()
{
    static NoSteps steps;
    return steps;
}
