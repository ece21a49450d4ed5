// The server's class table and its four exports.
#include "phonetic/phonetic_processor.h"

namespace {

const ServerClass kTonvarClasses[] = {
    {.clsid = CLSID_PhoneticProcessor,
     .progId = u"Phonetic.PhoneticProcessor",
     .description = u"PhoneticProcessor Class",
     .create = CreateComObject<CPhoneticProcessor>},
};

constexpr ServerTypeLibrary kTonvarTypeLibrary = {
    .libid = GuidFromText("C7D5C338-4574-49A5-8B03-C2D5D2F66FC7"),
    .helpString = u"Phonetic 1.0 Type Library"};

constexpr StringResource kTonvarStrings[] = {{100, u"Tonvar"}};

}  // namespace

COM_SERVER_STRINGS(kTonvarStrings)
COM_SERVER_EXPORTS_WITH_TYPELIB(kTonvarClasses, &kTonvarTypeLibrary)
