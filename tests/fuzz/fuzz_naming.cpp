// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as a compound built atom by atom, three bytes an
// atom (its element, the atom it hangs on, the bond's order), a ring closed now
// and then, hydrogens filling what is left. Far more compounds than random
// text would read as. Naming must answer every structure, never crash or
// hang, and its answer must be sound: a name or why not, never both; a name
// the program accepts itself; sections each with both a part and a reason or
// neither; the same name for the atoms listed the other way round.

#include "chemistry/naming/Naming.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <vector>

namespace {

[[noreturn]] void unsound(const char* what, const std::string& name) {
    std::fprintf(stderr, "unsound answer: %s («%s»)\n", what, name.c_str());
    std::abort();
}

chemistry::Structure reversed(const chemistry::Structure& s) {
    chemistry::Structure out;
    const int n = int(s.atoms.size());
    for (int i = n - 1; i >= 0; --i)
        out.addAtom(s.atoms[std::size_t(i)].element, s.atoms[std::size_t(i)].hydrogens);
    for (auto b = s.bonds.rbegin(); b != s.bonds.rend(); ++b)
        out.addBond(n - 1 - b->to, n - 1 - b->from, b->order);
    return out;
}

struct Kind {
    chemistry::Element element;
    int valence;
};
// Carbon most often, as in the chapter; S and Na for what it does not name.
constexpr Kind Kinds[] = {
    {chemistry::Element::C, 4},  {chemistry::Element::C, 4},  {chemistry::Element::C, 4},
    {chemistry::Element::C, 4},  {chemistry::Element::O, 2},  {chemistry::Element::N, 3},
    {chemistry::Element::Cl, 1}, {chemistry::Element::Br, 1}, {chemistry::Element::F, 1},
    {chemistry::Element::I, 1},  {chemistry::Element::S, 2},  {chemistry::Element::Na, 1}};
constexpr int MaxAtoms = 40;

// Nothing when an atom would have more bonds than it can.
std::optional<chemistry::Structure> built(const uint8_t* data, size_t size) {
    chemistry::Structure s;
    std::vector<int> valence;
    for (size_t i = 0; i + 2 < size && int(s.atoms.size()) < MaxAtoms; i += 3) {
        const int order = 1 + data[i + 2] % 3;
        if (data[i] == 0xFF && s.atoms.size() > 2) { // a ring closure
            const int a = data[i + 1] % int(s.atoms.size()), b = data[i + 2] % int(s.atoms.size());
            if (a != b && s.bondOrder(a, b) == 0)
                s.addBond(a, b, 1);
            continue;
        }
        const Kind& k = Kinds[data[i] % std::size(Kinds)];
        const int atom = s.addAtom(k.element, 0);
        valence.push_back(k.valence);
        if (atom > 0)
            s.addBond(data[i + 1] % atom, atom, order);
    }
    if (s.atoms.empty())
        return std::nullopt;
    for (std::size_t a = 0; a < s.atoms.size(); ++a) {
        const int free = valence[a] - s.bondsOf(int(a));
        if (free < 0)
            return std::nullopt;
        s.atoms[a].hydrogens = free;
    }
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto structure = built(data, size);
    if (!structure)
        return 0;
    const chemistry::NameResult r = chemistry::nameCompound(*structure);
    if (r.ok() == !r.unnamed.empty())
        unsound("a name and why not, or neither", r.name);
    if (!r.ok()) {
        if (!r.unnamed.starts_with("δεν ξέρω να ονομάσω "))
            unsound("why not, unsaid", r.unnamed);
        return 0;
    }
    if (!chemistry::isAcceptedName(*structure, r.name))
        unsound("its own name refused", r.name);
    for (const chemistry::NameSection& s : r.sections)
        if (s.part.empty() != s.reason.empty())
            unsound("a part without a reason or a reason without a part", r.name);
    if (chemistry::nameCompound(reversed(*structure)).name != r.name)
        unsound("another name written the other way round", r.name);
    return 0;
}
