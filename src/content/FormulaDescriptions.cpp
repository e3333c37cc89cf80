// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/FormulaDescriptions.h"

#include <cstdlib>

namespace content {

const std::array<std::string_view, 20> BuiltInFormulaNotation = {
    "CH3CH2CH3",
    "CH3CH2CH(CH3)CH3",
    "CH3CH2CH(CH3)CH2CH(CH3)CH3",
    "CH3CH=CHCH3",
    "CH3CH2CH2C≡CH",
    "CH2=CHCH=CH2",
    "CH3CH2CH2I",
    "CH3CH(Cl)CH2CH3",
    "CH3C(CH3)=C(Cl)-CH2CH=CH2",
    "CH3-O-CH2CH3",
    "CH2=C(CH3)-CH2CH(OH)CH3",
    "CH3CHO",
    "CH3CH2COCH2CH3",
    "CH3CH2CH(CH3)COCH3",
    "CH3CH2COOH",
    "CH≡CCH2COOH",
    "CH3CH(OH)COOH",
    "CH3COCOOH",
    "CH3COOCH3",
    "CH3CH2CH2NH2",
};

const std::vector<FormulaDescription>& formulaDescriptions() {
    static const std::vector<FormulaDescription> formulas = [] {
        std::vector<FormulaDescription> read;
        for (const std::string_view text : BuiltInFormulaNotation) {
            FormulaParse parsed = parseDrawing(text);
            // The built-in texts are tested to read without a problem; one that
            // did not would be drawn as an empty card, never half read.
            read.push_back(parsed.ok() ? std::move(parsed.formula) : FormulaDescription{});
        }
        return read;
    }();
    return formulas;
}

} // namespace content
