#pragma once

#include <QObject>

namespace TrackoraActiveX {

class CFFPlayer;

// Links the front and the rear player. The viewer fills it in place through
// the address the control hands out, so both sides compile this one
// declaration: a look-alike class of another name would be a different type
// at the same address.
class CFFPlayerAxUserData : public QObjectUserData
{
public:
    CFFPlayer *peer = nullptr;
    CFFPlayer *player = nullptr;
    bool isMain = true;
};

} // namespace TrackoraActiveX
