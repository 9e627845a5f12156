// Construction of the object adapter.
#include "engine/obj_info.h"

namespace trx {

TObjInfo* ObjInfo = nullptr;

TObjInfo::TObjInfo() = default;

TObjInfo::~TObjInfo() {
    ColsList.clear();
    MemoBuf.reset();
    MemoSize = 0;
    ObjPosn.reset();
}

} // namespace trx
