// The server's class table and its four exports.
#include "phonetic/phonetic_processor.h"

namespace {

const ServerClass kTonvarClasses[] = {
    {.clsid = CLSID_PhoneticProcessor,
     .progId = u"Phonetic.PhoneticProcessor",
     .description = u"PhoneticProcessor Class",
     .create = CreateComObject<CPhoneticProcessor>},
};

}  // namespace

COM_SERVER_EXPORTS(kTonvarClasses)
