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

}  // namespace

COM_SERVER_EXPORTS(kRunemapClasses)
