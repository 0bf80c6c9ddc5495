#include "problem/open_failure_texts.h"

#include <cerrno>
#include <cstring>

std::string open_failure_reason(int error) {
    switch (error) {
        case ENOENT:
            return "такого файла нет";
        case EACCES:
        case EPERM:
            return "нет прав на чтение";
        case EISDIR:
            return "это папка, а не файл";
        case ENOTDIR:
            return "часть пути не является папкой";
        case ENAMETOOLONG:
            return "слишком длинное имя";
        case ELOOP:
            return "слишком много символических ссылок в пути";
        case EMFILE:
        case ENFILE:
            return "открыто слишком много файлов";
        case EFBIG:
        case EOVERFLOW:
            return "файл больше 256 МиБ; такие файлы не читаются";
        case EIO:
            return "ошибка ввода-вывода";
        default:
            return std::strerror(error);
    }
}

std::string open_failure_text(const std::string& what, const std::string& path, int error) {
    return "не удаётся открыть " + what + " «" + path + "»: " + open_failure_reason(error);
}
