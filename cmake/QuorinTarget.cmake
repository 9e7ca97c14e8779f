# Compile settings shared by every Quorin target.
function(quorin_setup_target target)
    target_compile_definitions(${target} PRIVATE
        QT_NO_CAST_FROM_ASCII QT_NO_FOREACH QT_DISABLE_DEPRECATED_BEFORE=0x060000)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow)
    if(QUORIN_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(QUORIN_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()
