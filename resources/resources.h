#pragma once
// The program's pictures: tool bar and tree icons, banners and backgrounds, compiled into the
// executable from resources.qrc.
#include <QIcon>
#include <QString>

namespace resources {

// Registers the compiled-in pictures. The resource object sits in a static library, where the
// linker would otherwise drop it; safe to call any number of times.
void init();

// The icon ":/icons/<name>.svg", e.g. icon(u"add"_s). Registers the pictures first. A name
// without a picture gives a null icon.
QIcon icon(const QString& name);

} // namespace resources
