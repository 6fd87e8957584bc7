#include "model/AccountSettings.h"

#include "model/TableSchemas.h"

namespace valmora {

AccountSettings AccountSettings::defaults(Date today) {
    AccountSettings s;
    s.oldData = today;
    return s;
}

AccountSettings AccountSettings::read(dbase::Table& t) {
    AccountSettings s;
    s.istituto = t.fieldByName(schema::kIstituto).asString();
    s.coordinate = t.fieldByName(schema::kCoordinate).asString();
    s.numConto = t.fieldByName(schema::kNumConto).asString();
    s.capitaCre = t.fieldByName(schema::kCapitaCre).asString();
    s.capitaDeb = t.fieldByName(schema::kCapitaDeb).asString();
    s.numOpe = t.fieldByName(schema::kNumOpe).asMoney();
    s.costoOpe = t.fieldByName(schema::kCostoOpe).asMoney();
    s.vIstituto = t.fieldByName(schema::kVIstituto).asMoney();
    s.vCircolare = t.fieldByName(schema::kVCircolare).asMoney();
    s.vPostale = t.fieldByName(schema::kVPostale).asMoney();
    s.vAltroIst = t.fieldByName(schema::kVAltroIst).asMoney();
    s.bStesso = t.fieldByName(schema::kBStesso).asMoney();
    s.bAltro = t.fieldByName(schema::kBAltro).asMoney();
    s.bPos = t.fieldByName(schema::kBPos).asMoney();
    s.bMensile = t.fieldByName(schema::kBMensile).asMoney();
    s.maxScope = t.fieldByName(schema::kMaxScope).asMoney();
    s.commScope = t.fieldByName(schema::kCommScope).asMoney();
    s.maxCCred = t.fieldByName(schema::kMaxCCred).asMoney();
    s.commCCred = t.fieldByName(schema::kCommCCred).asMoney();
    s.password = t.fieldByName(schema::kPassword).asString();
    s.newAnno = t.fieldByName(schema::kNewAnno).asBoolean();
    s.oldData = t.fieldByName(schema::kOldData).asDate();
    s.numRec = t.fieldByName(schema::kNumRec).asMoney();
    s.scoperto = t.fieldByName(schema::kScoperto).asBoolean();
    return s;
}

std::vector<dbase::Value> AccountSettings::values() const {
    return {istituto,   coordinate, numConto,  capitaCre, capitaDeb, numOpe,  costoOpe, vIstituto,
            vCircolare, vPostale,   vAltroIst, bStesso,   bAltro,    bPos,    bMensile, maxScope,
            commScope,  maxCCred,   commCCred, password,  newAnno,   oldData, numRec,   scoperto};
}

} // namespace valmora
