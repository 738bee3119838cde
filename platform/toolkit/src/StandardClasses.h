// Keeps the standard controls in every program that can read descriptions (see StandardClasses.cpp).
#pragma once

namespace toolkit_detail {

void LinkStandardClasses();

}  // namespace toolkit_detail
