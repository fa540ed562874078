#pragma once
// The elements the periodic-table viewer lays over its grid, one row per click, in the
// order the learner meets them: 1 to 57, then 72 to 89. The lanthanoids 58 to 71 and the
// actinoids from 90 on stand behind the single coloured cells 57 and 89 and the notes
// under the table.
//
// Positions are in the 640 x 400 units of the drawing area: a cell's top-left corner sits
// one unit inside its grid cell, so the 24 x 29 cell fills it between the lines.

#include <array>
#include <cstdint>

namespace periodic {

struct Element {
    std::int16_t number;
    const char16_t* symbol; // empty for the lanthanoid and actinoid cells
    const char16_t* name;   // null: the name label keeps the previous element's name
    std::int16_t left;
    std::int16_t top;
    std::int16_t palette; // background colour of the cell
};

// Tops of the seven periods.
inline constexpr std::int16_t kTop1 = 123, kTop2 = 153, kTop3 = 183, kTop4 = 213, kTop5 = 244, kTop6 = 274,
                              kTop7 = 303;
// Background of an ordinary cell (light cyan) and of the two cells that stand for a series.
inline constexpr std::int16_t kCellPalette = 11, kLanthanoidPalette = 10, kActinoidPalette = 13;

inline constexpr auto kElements = std::to_array<Element>({
    // Period 1
    {1, u"H", u"水素", 113, kTop1, kCellPalette},      // group 1
    {2, u"He", u"ヘリウム", 538, kTop1, kCellPalette}, // group 18, at the right end
    // Period 2
    {3, u"Li", u"リチウム", 113, kTop2, kCellPalette},
    {4, u"Be", u"ベリリウム", 138, kTop2, kCellPalette},
    {5, u"B", u"ホウ素", 413, kTop2, kCellPalette}, // groups 13 to 18 from here
    {6, u"C", u"炭素", 438, kTop2, kCellPalette},
    {7, u"N", u"窒素", 463, kTop2, kCellPalette},
    {8, u"O", u"酸素", 488, kTop2, kCellPalette},
    {9, u"F", u"フッ素", 513, kTop2, kCellPalette},
    {10, u"Ne", u"ネオン", 538, kTop2, kCellPalette},
    // Period 3
    {11, u"Na", u"ナトリウム", 113, kTop3, kCellPalette},
    {12, u"Mg", u"マグネシウム", 138, kTop3, kCellPalette},
    {13, u"Al", u"アルミニウム", 413, kTop3, kCellPalette}, // groups 13 to 18 from here
    {14, u"Si", u"ケイ素", 438, kTop3, kCellPalette},
    {15, u"P", u"リン", 463, kTop3, kCellPalette},
    {16, u"S", u"硫黄", 488, kTop3, kCellPalette},
    {17, u"Cl", u"塩素", 513, kTop3, kCellPalette},
    {18, u"Ar", u"アルゴン", 538, kTop3, kCellPalette},
    // Period 4: one full row
    {19, u"K", u"カリウム", 113, kTop4, kCellPalette},
    {20, u"Ca", u"カルシウム", 138, kTop4, kCellPalette},
    {21, u"Sc", u"スカンジウム", 163, kTop4, kCellPalette},
    {22, u"Ti", u"チタン", 188, kTop4, kCellPalette},
    {23, u"V", u"バナジウム", 213, kTop4, kCellPalette},
    {24, u"Cr", u"クロム", 238, kTop4, kCellPalette},
    {25, u"Mn", u"マンガン", 263, kTop4, kCellPalette},
    {26, u"Fe", u"鉄", 288, kTop4, kCellPalette},
    {27, u"Co", u"コバルト", 313, kTop4, kCellPalette},
    {28, u"Ni", u"ニッケル", 338, kTop4, kCellPalette},
    {29, u"Cu", u"銅", 363, kTop4, kCellPalette},
    {30, u"Zn", u"亜鉛", 388, kTop4, kCellPalette},
    {31, u"Ga", u"ガリウム", 413, kTop4, kCellPalette},
    {32, u"Ge", u"ゲルマニウム", 438, kTop4, kCellPalette},
    {33, u"As", u"ヒ素", 463, kTop4, kCellPalette},
    {34, u"Se", u"セレン", 488, kTop4, kCellPalette},
    {35, u"Br", u"臭素", 513, kTop4, kCellPalette},
    {36, u"Kr", u"クリプトン", 538, kTop4, kCellPalette},
    // Period 5: one full row
    {37, u"Rb", u"ルビジウム", 113, kTop5, kCellPalette},
    {38, u"Sr", u"ストロンチウム", 138, kTop5, kCellPalette},
    {39, u"Y", u"イットリウム", 163, kTop5, kCellPalette},
    {40, u"Zr", u"ジルコニウム", 188, kTop5, kCellPalette},
    {41, u"Nb", u"ニオブ", 213, kTop5, kCellPalette},
    {42, u"Mo", u"モリブデン", 238, kTop5, kCellPalette},
    {43, u"Tc", u"テクネチウム", 263, kTop5, kCellPalette},
    {44, u"Ru", u"ルテニウム", 288, kTop5, kCellPalette},
    {45, u"Rh", u"ロジウム", 313, kTop5, kCellPalette},
    {46, u"Pd", u"パラジウム", 338, kTop5, kCellPalette},
    {47, u"Ag", u"銀", 363, kTop5, kCellPalette},
    {48, u"Cd", u"カドミウム", 388, kTop5, kCellPalette},
    {49, u"In", u"インジウム", 413, kTop5, kCellPalette},
    {50, u"Sn", u"スズ", 438, kTop5, kCellPalette},
    {51, u"Sb", u"アンチモン", 463, kTop5, kCellPalette},
    {52, u"Te", u"テルル", 488, kTop5, kCellPalette},
    {53, u"I", u"ヨウ素", 513, kTop5, kCellPalette},
    {54, u"Xe", u"キセノン", 538, kTop5, kCellPalette},
    // Period 6
    {55, u"Cs", u"セシウム", 113, kTop6, kCellPalette},
    {56, u"Ba", u"バリウム", 138, kTop6, kCellPalette},
    {57, u"", nullptr, 163, kTop6, kLanthanoidPalette}, // stands for the lanthanoids 57 to 71
    {72, u"Hf", u"ハフニウム", 188, kTop6, kCellPalette},
    {73, u"Ta", u"タンタル", 213, kTop6, kCellPalette},
    {74, u"W", u"タングステン", 238, kTop6, kCellPalette},
    {75, u"Re", u"レニウム", 263, kTop6, kCellPalette},
    {76, u"Os", u"オスミウム", 288, kTop6, kCellPalette},
    {77, u"Ir", u"イリジウム", 313, kTop6, kCellPalette},
    {78, u"Pt", u"白金", 338, kTop6, kCellPalette},
    {79, u"Au", u"金", 363, kTop6, kCellPalette},
    {80, u"Hg", u"水銀", 388, kTop6, kCellPalette},
    {81, u"Tl", u"タリウム", 413, kTop6, kCellPalette},
    {82, u"Pb", u"鉛", 438, kTop6, kCellPalette},
    {83, u"Bi", u"ビスマス", 463, kTop6, kCellPalette},
    {84, u"Po", u"ポロニウム", 488, kTop6, kCellPalette},
    {85, u"At", u"アスタチン", 513, kTop6, kCellPalette},
    {86, u"Rn", u"ラドン", 538, kTop6, kCellPalette},
    // Period 7
    {87, u"Fr", u"フランシウム", 113, kTop7, kCellPalette},
    {88, u"Ra", u"ラジウム", 138, kTop7, kCellPalette},
    {89, u"", nullptr, 163, kTop7, kActinoidPalette}, // stands for the actinoids from 89 on
});

// The row of atomic number n, or null when the table has no cell for it.
constexpr const Element* elementAt(int n) {
    for (const Element& e : kElements)
        if (e.number == n) return &e;
    return nullptr;
}

// Coloured when the table is complete: the non-metals (hydrogen and the noble gases
// included) and the transition metals of groups 3 to 12, the two series cells among them.
inline constexpr auto kNonMetals = std::to_array<std::int16_t>(
    {1, 2, 5, 6, 7, 8, 9, 10, 14, 15, 16, 17, 18, 33, 34, 35, 36, 52, 53, 54, 85, 86});
inline constexpr auto kTransitionMetals =
    std::to_array<std::int16_t>({21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 39, 40, 41, 42, 43, 44,
                                 45, 46, 47, 48, 57, 72, 73, 74, 75, 76, 77, 78, 79, 80, 89});

} // namespace periodic
