#include "net/dialupentries.h"

#include "net/connectionbackend.h"
#include "net/netlog.h"

namespace DialUpEntries {

void DUN_Services(QStringList& DUN_Array, ConnectionBackend& backend)
{
    DUN_Array = backend.dialUpEntries();
    if (DUN_Array.size() > MaxEntries) {
        qCWarning(lcNet) << "Listing the first" << MaxEntries << "of" << DUN_Array.size() << "dial-up entries";
        DUN_Array.resize(MaxEntries);
    }
}

} // namespace DialUpEntries
