#include "TempFarm.h"

#include <stdexcept>

TempFolder::TempFolder() {
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}
