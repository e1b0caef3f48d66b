#include "trackoraactivexlib.h"

namespace TrackoraActiveXLib {

const char *const CFFPlayerAxWidget::classIdentifier = "{1cb000fc-4a11-4fd3-a30d-65e5eccf7d56}";

CFFPlayerAxWidget::CFFPlayerAxWidget(QWidget *parent, Qt::WindowFlags flags)
    : AxWidget(parent, flags)
{
    setControl(QLatin1String(classIdentifier));
}

} // namespace TrackoraActiveXLib
