#pragma once

#include <QString>

// The program's name, version and credits, shown in the toolbar and on the connect card. None
// of them is translated.
namespace AppBranding {

const QString &appName();
const QString &appVersion();
const QString &authorLine();
// Where voluntary donations go.
const QString &donationAddress();

} // namespace AppBranding
