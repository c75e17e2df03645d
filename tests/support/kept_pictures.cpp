// Pictures tests keep for a person to look at.
#include "tests/support/kept_pictures.h"

#include <GL/gl.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace ondra::test {

std::string PicturePath(const std::string& name) { return std::string(ONDRA_TEST_PICTURES_DIR) + "/" + name; }

bool SavePicture(const std::string& name, int width, int height) {
    const std::string path = PicturePath(name);
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    for (int y = height - 1; y >= 0; --y)
        std::fwrite(&rows[static_cast<std::size_t>(y) * width * 3], 1, static_cast<std::size_t>(width) * 3, file);
    return std::fclose(file) == 0;
}

}  // namespace ondra::test
