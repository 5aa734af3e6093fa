// Placeholder so the library links before the database layer lands.
#include "platform/db/connection.h"
db::Connection::~Connection() = default;
