#include "TrcConfigs.h"

#include <QAbstractButton>
#include <QButtonGroup>

bool FirstItemSelected(const QButtonGroup* group) {
    if (group == nullptr || group->buttons().isEmpty())
        return false;
    return group->buttons().first()->isChecked();
}
