#include "HandKeys.h"

#include <Qt>

#include <algorithm>

namespace table {

bool isHandKey(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End
           || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

HandKeyStep handKeyStep(const QList<int> &playable, int selected, bool shown, int key)
{
    const int last = int(playable.size()) - 1;
    const int index = std::max(0, int(playable.indexOf(selected)));
    if (key == Qt::Key_Home)
        return {false, playable.first()};
    if (key == Qt::Key_End)
        return {false, playable.last()};
    if (!shown)
        return {false, playable[index]};
    if (key == Qt::Key_Left)
        return {false, playable[std::max(0, index - 1)]};
    if (key == Qt::Key_Right)
        return {false, playable[std::min(last, index + 1)]};
    return {true, selected};
}

}  // namespace table
