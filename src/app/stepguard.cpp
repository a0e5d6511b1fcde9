#include "app/stepguard.h"

#include "app/applog.h"
#include "net/connectionerror.h"

namespace StepGuard {

void run(const char* step, const std::function<void()>& body)
{
    try {
        body();
    } catch (const ConnectionError& error) {
        qCWarning(lcApp).noquote() << step << "failed:" << error.source() << error.description();
    } catch (const std::exception& error) {
        qCWarning(lcApp).noquote() << step << "failed:" << error.what();
    }
}

} // namespace StepGuard
