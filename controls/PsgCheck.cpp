#include "controls/PsgCheck.h"

QString TProStringGridCheck::MarkError(int, int, const QString& S) { return S; }
QString TProStringGridCheck::Correct(int, int, const QString& S) { return S; }
void TProStringGridCheck::StartCheck() {}
void TProStringGridCheck::StopCheck() {}
