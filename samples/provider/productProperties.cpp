#include "productProperties.h"

#include "ado/adoInterfaces.h"

namespace {

struct Product {
    LONG id;
    const wchar_t* name;
    const wchar_t* material;  // null: the product has no such property
    const wchar_t* colour;
    LONG powerWatts;          // 0: none
    LONG pages;               // 0: none
};

const Product kProducts[] = {
    {1, L"Oak desk", L"Oak", L"Natural", 0, 0},
    {2, L"Desk lamp", nullptr, L"Black", 40, 0},
    {3, L"Filing cabinet", L"Steel", L"Grey", 0, 0},
    {4, L"Notebook, A5", nullptr, L"Blue", 0, 96},
    {5, L"Office chair", L"Mesh", L"Black", 0, 0},
    {6, L"Whiteboard", L"Enamel", nullptr, 0, 0},
};

Variant TextOrNull(const wchar_t* text) { return text ? TextValue(text) : NullValue(); }
Variant NumberOrNull(LONG number) { return number ? IntegerValue(number) : NullValue(); }

}  // namespace

std::shared_ptr<const RecordTree> ProductProperties() {
    auto products = std::make_shared<RecordTree>();
    products->table.columns = {{L"Id", adInteger, 4},        {L"Product", adVarWChar, 40},
                               {L"Material", adVarWChar, 20}, {L"Colour", adVarWChar, 20},
                               {L"PowerW", adInteger, 4},     {L"Pages", adInteger, 4}};
    for (const Product& product : kProducts) {
        std::vector<Variant> row;
        row.push_back(IntegerValue(product.id));
        row.push_back(TextValue(product.name));
        row.push_back(TextOrNull(product.material));
        row.push_back(TextOrNull(product.colour));
        row.push_back(NumberOrNull(product.powerWatts));
        row.push_back(NumberOrNull(product.pages));
        products->table.rows.push_back(std::move(row));
    }
    return products;
}
