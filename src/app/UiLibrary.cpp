// The window library starts here; the shell's windows join it as they are built.
#include "app/Product.h"

namespace QuorinUi {
const QString& ProductName()
{
    return Product::Name;
}
} // namespace QuorinUi
