// The server's class table and its four exports.
#include <iterator>

#include "interfaces/runemap.h"
#include "platform/server.h"
#include "runemap/runemap_eng_table.h"
#include "runemap/runemap_rus_simple_sm.h"

namespace {

const ServerClass kRunemapClasses[] = {
    {.clsid = CLSID_RunemapRusSimpleSm,
     .progId = u"Runemap.RunemapRusSimpleSm",
     .description = u"RunemapRusSimpleSm Class",
     .create = CreateComObject<CRunemapRusSimpleSm>},
    {.clsid = CLSID_RunemapEngTable,
     .progId = u"Runemap.RunemapEngTable",
     .description = u"RunemapEngTable Class",
     .create = CreateComObject<CRunemapEngTable>},
};

// The library also declares RunemapRusSimple, RunemapRusTable,
// RunemapBlrTable and RunemapRusTableSm, which the server does not serve.
constexpr ServerTypeLibrary kRunemapTypeLibrary = {
    .libid = GuidFromText("3B1F9A52-D58A-40DE-85E0-D6CFA20E9B88"),
    .helpString = u"Runemap 1.0 Type Library"};

constexpr StringResource kRunemapStrings[] = {{100, u"Runemap"}};

}  // namespace

COM_SERVER_STRINGS(kRunemapStrings)
COM_SERVER_EXPORTS_WITH_TYPELIB(kRunemapClasses, &kRunemapTypeLibrary)
