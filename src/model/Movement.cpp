#include "model/Movement.h"

#include "model/TableSchemas.h"

namespace valmora {

Movement Movement::read(dbase::Table& table) {
    Movement m;
    m.data = table.fieldByName(schema::kData).asDate();
    m.valuta = table.fieldByName(schema::kValuta).asDate();
    m.operazione = table.fieldByName(schema::kOperazione).asString();
    m.tipo = table.fieldByName(schema::kTipo).asString();
    m.importo = table.fieldByName(schema::kImporto).asMoney();
    m.commento = table.fieldByName(schema::kCommento).asString();
    return m;
}

std::vector<dbase::Value> Movement::values() const {
    return {data, valuta, operazione, tipo, importo, commento};
}

} // namespace valmora
