// Keeps the suite linkable before the first real tests land; removed by then.
