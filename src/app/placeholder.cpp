namespace marklet_placeholder {}
