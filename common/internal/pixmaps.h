#pragma once
// Internal to common/: pictures given as file bytes (any common format, in a
// std::string as Bytes holds them).
#include <QIcon>
#include <QPixmap>

#include <string>
#include <vector>

inline QPixmap pixmapFromBytes(const std::string& bytes)
{
    QPixmap pixmap;
    if (!bytes.empty())
        pixmap.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                            static_cast<uint>(bytes.size()));
    return pixmap;
}

// An image list: image n is icons[n]; a number without an image shows none.
inline std::vector<QIcon> iconsFromBytes(const std::vector<std::string>& images)
{
    std::vector<QIcon> icons;
    icons.reserve(images.size());
    for (const std::string& bytes : images)
        icons.emplace_back(pixmapFromBytes(bytes));
    return icons;
}

inline QIcon iconAt(const std::vector<QIcon>& icons, int number)
{
    return number >= 0 && number < static_cast<int>(icons.size()) ? icons[static_cast<size_t>(number)]
                                                                   : QIcon();
}
