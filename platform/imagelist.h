// The picture store of a form: ListImages(n).Picture gives picture n, counted from 1.
#pragma once

#include "picture.h"
#include "runtimeerror.h"

#include <string>
#include <string_view>
#include <vector>

namespace tanzel {

class ImageList {
public:
    struct ListImage {
        tanzel::Picture Picture;
    };

    explicit ImageList(const std::vector<std::string_view>& pictureNames) {
        for (auto name : pictureNames)
            images.push_back({Picture{std::string(name)}});
    }

    const ListImage& ListImages(int number) const {
        if (number < 1 || number > static_cast<int>(images.size()))
            throw RuntimeError("Index out of bounds: ListImages(" + std::to_string(number) + ")");
        return images[number - 1];
    }

private:
    std::vector<ListImage> images;
};

} // namespace tanzel
