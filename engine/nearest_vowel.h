// A vowel that the Russian phonetics do not hold, replaced by the nearest
// one they do: the same vowel with the closest stress degree. The letter
// converter keeps an unstressed «о» unreduced in a few loanwords («рококо»,
// «боа»), as O1 or O2, which the inventory lacks; such an «о» sounds like
// the partially stressed O5.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// The nearest held name for a vowel name (vowel letters, then a stress
// digit); empty when the name is no vowel or no form of it is held.
std::string NearestHeldVowel(std::string_view name,
                             const std::function<bool(std::string_view)>& held);
